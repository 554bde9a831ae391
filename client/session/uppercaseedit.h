#pragma once

#include <QLineEdit>

namespace Session {

// An edit that turns all its text to upper case, typed or set, with the Turkish letters'
// own capitals (i → İ, ı → I).
class UppercaseEdit final : public QLineEdit
{
    Q_OBJECT

public:
    explicit UppercaseEdit(QWidget *parent = nullptr);
};

} // namespace Session
