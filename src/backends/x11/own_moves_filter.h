// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractNativeEventFilter>
#include <QSet>

namespace xmascard {

// Drops the X server's ConfigureNotify events that only confirm a move the program made.
//
// Qt answers every ConfigureNotify of a top-level window with four round trips to the
// server: where the window now is, and its frame margins all over again (QueryTree,
// TranslateCoordinates, GetGeometry), though a window the program moved is where
// QWidget::move put it and Qt already holds that geometry. The card and the cherub move ten
// times a second while they come down and while the cherub rises; those round trips took
// over a third of the main thread's time then.
//
// An event passes on to Qt whenever it may tell Qt something new: another position or size
// than Qt holds, a window Qt does not know, a scaled screen, and every real (not synthetic)
// event of a window a window manager has reparented, whose coordinates are then relative
// to the frame.
class X11OwnMovesFilter : public QAbstractNativeEventFilter {
  public:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  private:
    bool confirmsKnownGeometry(const void* configureNotify) const;

    QSet<quint32> reparented_;  // windows whose parent is not a root window
};

}  // namespace xmascard
