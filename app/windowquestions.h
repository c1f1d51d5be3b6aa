#pragma once

#include "document/documentquestions.h"

class QWidget;

// The document's questions as the main window asks them: message boxes, the
// Save As dialog and the progress dialog, over the window.
class WindowQuestions : public DocumentQuestions {
  public:
    explicit WindowQuestions(QWidget* window) : m_window(window) {}

    Answer SaveChanges(const QString& question) override;
    bool Agree(const QString& question) override;
    bool Override(const QString& question) override;
    int Choose(const QString& title, const QString& text, const QStringList& answers,
               int defaultAnswer) override;
    void Tell(const QString& text, Tone tone) override;
    QString SaveAsPath(const QString& title, const QString& file, const QString& lastUsed) override;
    bool RunWithProgress(const QString& title, const std::function<void(Progress&)>& work) override;

    // What Open and Save As offer.
    static constexpr const char* kCampaignFilter = "Brinnow campaigns (*.brn);;All files (*)";

  private:
    QWidget* m_window;
};
