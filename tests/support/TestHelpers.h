#pragma once
// Helpers the tests share: a left click on a button, and whole files read and
// written in one piece.
#include <QAbstractButton>
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

// A left click, as the operator gives it.
inline void click(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

// The whole file; empty when it cannot be read.
inline QByteArray fileContents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes the whole file; the test fails when it cannot.
inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}
