#include "widgets/choice_group.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace skelvane {

QGroupBox* MakeChoiceGroup(QWidget* parent, const QString& name, QRadioButton*& first,
                           const QString& firstText, QRadioButton*& second,
                           const QString& secondText) {
    auto* group = new QGroupBox(parent);
    group->setObjectName(name);
    first = new QRadioButton(firstText, group);
    first->setObjectName(name + QStringLiteral("0"));
    second = new QRadioButton(secondText, group);
    second->setObjectName(name + QStringLiteral("1"));
    auto* box = new QVBoxLayout(group);
    box->setContentsMargins(6, 4, 6, 4);
    box->setSpacing(2);
    box->addWidget(first);
    box->addWidget(second);
    return group;
}

} // namespace skelvane
