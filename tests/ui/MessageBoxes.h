// Answers the program's own message boxes as a user would: every box that opens is noted (its
// text and the window it stands over) and closed with the chosen button, OK for a warning.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <vector>

class MessageBoxes : public QObject {
public:
    struct Box {
        QString text;
        QPointer<QWidget> over; // the window the box was parented to
    };

    MessageBoxes() {
        // The timer runs in the box's own event loop as well.
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, &MessageBoxes::answerOpenBox);
        timer_.start();
    }

    // The button a question (a box with more than OK) is answered with.
    QMessageBox::StandardButton answer = QMessageBox::Cancel;

    QStringList texts() const {
        QStringList out;
        for (const Box& b : boxes)
            out << b.text;
        return out;
    }
    void clear() { boxes.clear(); }

    std::vector<Box> boxes;

private:
    void answerOpenBox() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible() || box == answered_)
            return;
        answered_ = box;
        boxes.push_back({box->text(), box->parentWidget()});
        QAbstractButton* b = box->button(answer);
        if (b == nullptr)
            b = box->button(QMessageBox::Ok);
        if (b != nullptr)
            b->click();
    }

    QTimer timer_;
    QPointer<QMessageBox> answered_;
};
