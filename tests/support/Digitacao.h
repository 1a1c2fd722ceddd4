#pragma once

#include <QString>
#include <QtTest>

// Types a text key by key, as a person would. QTest::keyClicks knows only ASCII; the stock
// room's texts carry accents ("Elétrica"), which go in as key events with their text.
inline void digitaTexto(QWidget* campo, const QString& texto)
{
    for (QChar c : texto) {
        if (c.unicode() < 0x80)
            QTest::keyClick(campo, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, campo, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}
