#pragma once

#include <QString>

// A control named for a screen reader and for tests alike: its accessible
// name and its object name are the same text.
template <typename W> W* named(W* widget, const QString& name)
{
    widget->setAccessibleName(name);
    widget->setObjectName(name);
    return widget;
}

template <typename W> W* named(W* widget, const char* name)
{
    return named(widget, QString::fromLatin1(name));
}
