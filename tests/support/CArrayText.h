// cArrays written and read as text, one element per character: '_' is an
// empty element.
#pragma once

#include <QString>

#include "engine/cArray.h"

inline fw::Ref<cArray> Make(const QString& text) {
    auto a = fw::New<cArray>();
    for (QChar c : text) a->append(c == '_' ? fw::Variant() : fw::Variant(QString(c).toStdString()));
    return a;
}

inline QString Text(const fw::Ref<cArray>& a) {
    QString s;
    for (int32_t i = 0; i <= a->ubound(); ++i) {
        const fw::Variant v = a->get(i);
        s += v.IsEmpty() ? QString("_") : QString::fromStdString(v.StringValue());
    }
    return s;
}
