#pragma once
// A spin box with an object name (what the tests find it by), its range and its value.

#include <QSpinBox>

namespace lv::app {

inline QSpinBox* NamedSpinBox(QWidget* parent, const char* name, int low, int high, int value)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(low, high);
    box->setValue(value);
    return box;
}

}  // namespace lv::app
