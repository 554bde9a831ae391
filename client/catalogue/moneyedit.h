#pragma once

#include <QLineEdit>

#include <optional>

namespace Catalogue {

// A money box: it holds a number and shows it in the money format "#,###,##0.00" (Turkish
// separators: 1.234,50). While the user edits it, it shows the plain number ("1234,5") and
// accepts digits, one decimal comma (a point is taken as one too) and a leading minus.
class MoneyEdit final : public QLineEdit
{
    Q_OBJECT

public:
    explicit MoneyEdit(QWidget *parent = nullptr);

    // What the box holds now; while it is being edited, the number as far as it is typed.
    double value() const;
    void setValue(double value);

    // Reads a typed amount: "1.234,5", "1234,5", "1234.5" and "12" all work; nullopt for text
    // that is no number. An empty box is 0.
    static std::optional<double> parse(const QString &text);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void showFormatted();
    QString plainText() const;

    double m_value = 0;
};

} // namespace Catalogue
