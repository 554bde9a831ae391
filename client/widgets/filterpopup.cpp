#include "filterpopup.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <unordered_set>

using namespace Qt::StringLiterals;

namespace Widgets {

FilterPopup::FilterPopup(TableModel *model, int column, QWidget *parent)
    : QFrame(parent, Qt::Popup)
    , m_model(model)
    , m_column(column)
    , m_values(model->distinctValues(column))
    , m_list(new QListWidget(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_list);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(u"Tamam"_s, QDialogButtonBox::AcceptRole);
    QPushButton *cancel = buttons->addButton(u"Vazgeç"_s, QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(ok, &QPushButton::clicked, this, &FilterPopup::apply);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);

    const bool filtered = model->hasValueFilter(column);
    const std::vector<std::string> acceptedList = model->acceptedKeys(column);
    const std::unordered_set<std::string> accepted(acceptedList.begin(), acceptedList.end());
    auto *all = new QListWidgetItem(u"(Tümü)"_s, m_list);
    all->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    for (const FilterValue &v : m_values) {
        auto *item = new QListWidgetItem(v.label, m_list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(!filtered || accepted.count(v.key) ? Qt::Checked : Qt::Unchecked);
    }
    all->setCheckState(Qt::Checked);
    syncAllItem();
    connect(m_list, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        if (m_syncing)
            return;
        if (m_list->row(item) == 0) {
            m_syncing = true;
            const Qt::CheckState state = item->checkState() == Qt::Unchecked ? Qt::Unchecked : Qt::Checked;
            for (int i = 1; i < m_list->count(); ++i)
                m_list->item(i)->setCheckState(state);
            item->setCheckState(state);
            m_syncing = false;
        } else {
            syncAllItem();
        }
    });
    resize(260, 320);
}

void FilterPopup::syncAllItem()
{
    int checked = 0;
    for (int i = 1; i < m_list->count(); ++i)
        checked += m_list->item(i)->checkState() == Qt::Checked;
    m_syncing = true;
    m_list->item(0)->setCheckState(checked == m_list->count() - 1 ? Qt::Checked
                                   : checked == 0                 ? Qt::Unchecked
                                                                  : Qt::PartiallyChecked);
    m_syncing = false;
}

void FilterPopup::apply()
{
    std::vector<std::string> keys;
    for (int i = 1; i < m_list->count(); ++i) {
        if (m_list->item(i)->checkState() == Qt::Checked)
            keys.push_back(m_values[size_t(i - 1)].key);
    }
    if (keys.size() == m_values.size())
        m_model->clearValueFilter(m_column);
    else
        m_model->setValueFilter(m_column, keys);
    close();
}

} // namespace Widgets
