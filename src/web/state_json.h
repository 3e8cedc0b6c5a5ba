#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include "web_state.h"

class QAbstractItemModel;

namespace kav {

// One row of a kind as the pages show it: the seventeen cell texts by logical column, the marker
// picture's name and the row's colours as "#rrggbb".
struct ResultRow {
    QStringList cells;
    QString marker;
    QString color;
    QString background;
    bool operator==(const ResultRow&) const = default;
};

// Reading a results model's row and its columns' alignment as the pages show them.
ResultRow readRow(const QAbstractItemModel& model, int row);
QStringList readAlignment(const QAbstractItemModel* model);

// JSON text written by hand where it is hot: each row once when it changes, then reused in every update.
void appendString(QByteArray& out, const QString& text);
void appendStrings(QByteArray& out, const QStringList& texts);
// "key": in an object's members, after a comma when members came before.
void appendKey(QByteArray& out, QByteArrayView key);
QByteArray rowText(const ResultRow& row);
// The members of an object as JSON text, without its braces.
QByteArray membersText(const QJsonObject& object);

// The description of the run and its windows as JSON values.
QJsonObject runObject(const WebRunState& run);
QJsonArray infoArray(const QList<WebInfoItem>& items);
QJsonArray followedArray(const QList<WebFollowedDriver>& drivers);
QJsonArray classesArray(const QList<WebClass>& classes);
QJsonArray eventsArray(const QList<WebEvent>& events);
QJsonObject colorsObject(const WebColors& colors);
QJsonArray windowsArray(const QList<ResultWindowSettings>& windows);

} // namespace kav
