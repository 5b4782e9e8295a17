#pragma once

#include <QDialog>
#include <QStringList>
#include <deque>
#include <functional>
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
    // Actions on the program's own dialogs, used in order, returning the result; without one
    // the dialog is closed unanswered (result 0).
    std::deque<std::function<int(QDialog&)>> dialogActions;

    std::vector<platform::FileDialogRequest> fileRequests;
    std::vector<Message> messages;
    QStringList opened;
    QStringList dialogsShown;  // object names of the dialogs shown

    QString openFileName(QWidget*, const platform::FileDialogRequest& request) override {
        return nextFile(request);
    }
    QString saveFileName(QWidget*, const platform::FileDialogRequest& request) override {
        return nextFile(request);
    }
    int messageBox(QWidget*, const QString& text, const QString& title, unsigned flags) override {
        messages.push_back({text, title, flags});
        return takeFront(messageAnswers, int{platform::kIdCancel});
    }
    int openDocument(const QString& target, const QString&) override {
        opened.append(target);
        return openResult;
    }
    int execDialog(QDialog& dialog) override {
        dialogsShown.append(dialog.objectName());
        const auto action = takeFront(dialogActions, {});
        return action ? action(dialog) : 0;
    }

  private:
    QString nextFile(const platform::FileDialogRequest& request) {
        fileRequests.push_back(request);
        return takeFront(fileAnswers, QString());
    }
    template <class T>
    static T takeFront(std::deque<T>& answers, T none) {
        if (answers.empty()) {
            return none;
        }
        T answer = std::move(answers.front());
        answers.pop_front();
        return answer;
    }
};
