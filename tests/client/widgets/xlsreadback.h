#pragma once

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>

// Reads a workbook back with an independent reader (Debian's python3-xlrd) and returns
// {"sheets":[{"name":..., "rows":[[cell, ...], ...]}]}; the error text on failure.
inline QJsonObject readWorkbookBack(const QString &path, QString *error)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(B2B_READ_XLS), path});
    if (!python.waitForFinished(300000) || python.exitStatus() != QProcess::NormalExit || python.exitCode() != 0) {
        *error = QString::fromUtf8(python.readAllStandardError()) + python.errorString();
        return {};
    }
    QJsonParseError parse;
    const QJsonDocument doc = QJsonDocument::fromJson(python.readAllStandardOutput(), &parse);
    if (parse.error != QJsonParseError::NoError)
        *error = parse.errorString();
    return doc.object();
}
