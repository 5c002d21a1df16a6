// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QTimer>

class QWidget;

namespace xmascard {

class Control;
class Form;

// The faces of a window's media players show a tune's time, which moves on by itself: while
// a player shows one, its face is repainted four times a second.
class PlayerFaces final : public QObject {
    Q_OBJECT
  public:
    PlayerFaces(QWidget& window, const Form& form);

    // Follows a change of a control: a player that starts showing a tune starts the repaints.
    void controlChanged(const Control& control);

  private:
    void repaint();

    QWidget& window_;
    const Form& form_;
    QTimer timer_;
};

}  // namespace xmascard
