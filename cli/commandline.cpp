#include "cli/commandline.h"

#include <algorithm>

CommandLine::CommandLine(const std::vector<std::string>& words,
                         const std::vector<std::string>& valueOptions,
                         const std::vector<std::string>& flags) {
    const auto contains = [](const std::vector<std::string>& list, const std::string& word) {
        return std::find(list.begin(), list.end(), word) != list.end();
    };
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word == "--" && !optionsEnded) {
            optionsEnded = true;  // so that a name may begin with '-'
        } else if (optionsEnded || word.size() < 2 || word[0] != '-') {
            m_positional.push_back(word);
        } else if (contains(flags, word)) {
            m_flags.push_back(word);
        } else if (contains(valueOptions, word)) {
            if (i + 1 == words.size()) {
                m_error = "The option " + word + " needs a value.";
                return;
            }
            m_values[word].push_back(words[++i]);
        } else {
            m_error = "Unknown option " + word + ".";
            return;
        }
    }
}

std::optional<std::string> CommandLine::Value(const std::string& option) const {
    const auto found = m_values.find(option);
    if (found == m_values.end()) return std::nullopt;
    return found->second.back();
}

std::vector<std::string> CommandLine::Values(const std::string& option) const {
    const auto found = m_values.find(option);
    return found == m_values.end() ? std::vector<std::string>() : found->second;
}

bool CommandLine::Flag(const std::string& flag) const {
    return std::find(m_flags.begin(), m_flags.end(), flag) != m_flags.end();
}
