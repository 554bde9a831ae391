#include "typedfolding.h"

#include "folding.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace Catalogue {

namespace {

QString foldForBox(const QString &typed)
{
    QString folded = foldTyped(typed);
    folded.replace(u'i', u'I');
    return folded;
}

class TypedFolding final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            const QString folded = foldForBox(key->text());
            if (folded == key->text())
                return false;
            QKeyEvent replacement(QEvent::KeyPress, key->key(), key->modifiers(), folded, key->isAutoRepeat(),
                                  ushort(key->count()));
            QCoreApplication::sendEvent(watched, &replacement);
            return true;
        }
        if (event->type() == QEvent::InputMethod) {
            auto *input = static_cast<QInputMethodEvent *>(event);
            const QString folded = foldForBox(input->commitString());
            if (folded == input->commitString())
                return false;
            QInputMethodEvent replacement(input->preeditString(), input->attributes());
            replacement.setCommitString(folded, input->replacementStart(), input->replacementLength());
            QCoreApplication::sendEvent(watched, &replacement);
            return true;
        }
        return false;
    }
};

} // namespace

void installTypedFolding(QLineEdit *edit)
{
    static const QString name = QStringLiteral("typedFolding");
    if (!edit || edit->findChild<QObject *>(name, Qt::FindDirectChildrenOnly))
        return;
    auto *folding = new TypedFolding(edit);
    folding->setObjectName(name);
    edit->installEventFilter(folding);
}

} // namespace Catalogue
