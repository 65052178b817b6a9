#include "ui/PretranslateDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include "memory/TranslationMemory.h"

TPretranslateDialog::TPretranslateDialog(const TCatalogueText& text, TCount count, QWidget* parent)
    : QDialog(parent), text_(text), count_(std::move(count)) {
  setObjectName(QStringLiteral("PretranslateDialog"));
  setWindowTitle(text(u"PretranslateDialogTitle"));
  auto* form = new QFormLayout;
  Minimum = new QSpinBox(this);
  Minimum->setRange(1, 100);
  Minimum->setSuffix(QStringLiteral("%"));
  Minimum->setValue(OfferedSimilarity);
  form->addRow(text(u"PretranslateThreshold"), Minimum);
  const char16_t* keys[5] = {u"PretranslateExact", u"PretranslateFrom95", u"PretranslateFrom85",
                             u"PretranslateFromMinimum", u"PretranslateNone"};
  for (int band = 0; band < 5; ++band) {
    Counts[band] = new QLabel(this);
    Counts[band]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* label = new QLabel(text(keys[band]), this);
    if (band == 3) FromMinimumLabel = label;
    form->addRow(label, Counts[band]);
  }
  auto* hint = new QLabel(text(u"PretranslateHint"), this);
  hint->setWordWrap(true);
  Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Close, this);
  Buttons->button(QDialogButtonBox::Ok)->setText(text(u"PretranslateApply"));
  connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(hint);
  layout->addWidget(Buttons);

  // A plan reads every untranslated message against the whole memory: typing "85" counts once.
  recount_ = new QTimer(this);
  recount_->setSingleShot(true);
  recount_->setInterval(250);
  connect(recount_, &QTimer::timeout, this, &TPretranslateDialog::Recount);
  connect(Minimum, &QSpinBox::valueChanged, recount_, qOverload<>(&QTimer::start));
  Recount();
}

void TPretranslateDialog::Recount() {
  recount_->stop();
  const int minimum = Minimum->value();
  shown_ = count_(minimum);
  const int32_t values[5] = {shown_.Exact, shown_.From95, shown_.From85, shown_.FromMinimum, shown_.None};
  const QLocale locale;
  for (int band = 0; band < 5; ++band) Counts[band]->setText(locale.toString(values[band]));
  // The lowest fuzzy band starts at the minimum; above 84 it is empty.
  FromMinimumLabel->setText(text_(u"PretranslateFromMinimum").arg(minimum));
  FromMinimumLabel->setVisible(minimum <= 84);
  Counts[3]->setVisible(minimum <= 84);
  Buttons->button(QDialogButtonBox::Ok)->setEnabled(shown_.Exact + shown_.Fuzzy() > 0);
}
