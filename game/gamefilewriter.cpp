#include "game/gamefilewriter.h"

#include "game/gamefile.h"

bool GameFileWriter::Write(const Game& game, std::string& error) {
    MakeTexts(game.Log());
    const auto entryText = [this](std::size_t i) {
        const std::size_t start = i == 0 ? 0 : m_ends[i - 1];
        return std::string_view(m_texts).substr(start, m_ends[i] - start);
    };
    return WriteGameFile(game, m_path, entryText, error);
}

void GameFileWriter::Forget(std::size_t firstChanged) {
    if (firstChanged >= m_ends.size()) return;
    m_ends.resize(firstChanged);
    m_texts.resize(m_ends.empty() ? 0 : m_ends.back());
}

void GameFileWriter::MakeTexts(const std::vector<LogEntry>& log) {
    Forget(log.size());
    for (std::size_t i = m_ends.size(); i < log.size(); ++i) {
        m_texts += LogEntryFileText(log[i]);
        m_ends.push_back(m_texts.size());
    }
}
