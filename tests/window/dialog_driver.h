// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

#include <optional>
#include <vector>

namespace tarquel::testing {

// Answers the real modal dialogs as they open: each input prompt with the
// next text (nullopt presses Cancel), each message box with OK. Records
// what every dialog showed.
class DialogDriver : public QObject {
public:
    explicit DialogDriver(std::vector<std::optional<QString>> answers)
        : answers_(std::move(answers))
    {
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, &DialogDriver::poll);
        timer_.start();
    }

    QStringList prompts; // label texts of the input prompts, in order
    QStringList messages; // texts of the message boxes, in order
    QStringList titles; // window titles of every dialog

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* input = qobject_cast<QInputDialog*>(modal)) {
            prompts << input->labelText();
            titles << input->windowTitle();
            if (!input->textValue().isEmpty())
                prompts.back() += QStringLiteral(" [not empty at start]");
            const std::optional<QString> answer =
                next_ < answers_.size() ? answers_[next_] : std::nullopt;
            ++next_;
            if (answer) {
                input->setTextValue(*answer);
                input->accept();
            } else {
                input->reject();
            }
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            messages << box->text();
            titles << box->windowTitle();
            box->accept();
        }
    }

    QTimer timer_;
    std::vector<std::optional<QString>> answers_;
    std::size_t next_ = 0;
};

} // namespace tarquel::testing
