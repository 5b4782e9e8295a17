#pragma once

#include <QStringList>
#include <deque>
#include <vector>

#include "platform/DialogSeam.h"

// A dialog seam that answers from a script and records what was asked, so tests never wait on
// a real dialog. Installed for its lifetime.
class ScriptedDialogs : public platform::DialogSeam {
  public:
    struct Message {
        QString text;
        QString title;
        unsigned flags;
    };

    ScriptedDialogs() { platform::setDialogSeam(this); }
    ~ScriptedDialogs() override { platform::setDialogSeam(nullptr); }

    // Answers, used in order; an empty file name or a missing answer means Cancel.
    std::deque<QString> fileAnswers;
    std::deque<int> messageAnswers;
    int openResult = platform::kOpenDone;

    std::vector<platform::FileDialogRequest> fileRequests;
    std::vector<Message> messages;
    QStringList opened;

    QString openFileName(QWidget*, const platform::FileDialogRequest& request) override {
        return nextFile(request);
    }
    QString saveFileName(QWidget*, const platform::FileDialogRequest& request) override {
        return nextFile(request);
    }
    int messageBox(QWidget*, const QString& text, const QString& title, unsigned flags) override {
        messages.push_back({text, title, flags});
        if (messageAnswers.empty()) {
            return platform::kIdCancel;
        }
        const int answer = messageAnswers.front();
        messageAnswers.pop_front();
        return answer;
    }
    int openDocument(const QString& target, const QString&) override {
        opened.append(target);
        return openResult;
    }

  private:
    QString nextFile(const platform::FileDialogRequest& request) {
        fileRequests.push_back(request);
        if (fileAnswers.empty()) {
            return {};
        }
        const QString answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }
};
