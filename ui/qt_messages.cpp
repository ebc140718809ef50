// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/qt_messages.h"

#include <QApplication>
#include <QMessageBox>
#include <iostream>

namespace quintaro {

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Critical:
            return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void QtMessages::show(const std::string& title, const std::string& text, MessageIcon icon) {
    QMessageBox box(BoxIcon(icon), QString::fromStdString(title), QString::fromStdString(text),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

bool QtMessages::ask(const std::string& title, const std::string& text) {
    return QMessageBox::question(QApplication::activeWindow(), QString::fromStdString(title),
                                 QString::fromStdString(text)) == QMessageBox::Yes;
}

void ConsoleMessages::show(const std::string& title, const std::string& text, MessageIcon) {
    std::cerr << title << ": " << text << '\n';
}

bool ConsoleMessages::ask(const std::string& title, const std::string& text) {
    std::cerr << title << ": " << text << " (answered no)\n";
    return false;
}

}  // namespace quintaro
