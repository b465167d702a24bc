#pragma once

#include "core/RuntimeOwned.h"

#include <QPointer>

#include <string>
#include <vector>

class QMessageBox;

namespace fw {

// The message boxes on screen and not yet dismissed, oldest first.
class MessageBoxes : public RuntimeOwned<MessageBoxes> {
public:
    void add(QMessageBox& box);
    void forget(const QMessageBox& box);
    // The newest, which takes the user's input; null when none is up.
    QMessageBox* newest();

private:
    std::vector<QPointer<QMessageBox>> m_showing;
};

// For onlookers that act as the user: whether a box is up, the newest one, its text (empty when
// none is up); OK pressed on it, false when none is up.
bool IsMessageBoxShowing();
QMessageBox* ShowingMessageBox();
std::string ShowingMessageText();
bool DismissMessageBox();

}
