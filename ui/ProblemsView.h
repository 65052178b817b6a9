#pragma once
// View > Problems: every finding of the checks over the project (and of the spelling while it is
// on, and of the glossaries' terms), one row each in position order: the rows `xgtool check --report` writes. A click
// or Enter on a row shows its message in the window; Save Report writes the rows as an HTML page or a CSV table. The
// box stays open beside the window and follows the project: the messages that change are checked again once the change
// is over, the others keep their rows.
#include <QAbstractTableModel>
#include <QDialog>
#include <QPointer>
#include <QStringList>

#include <cstdint>
#include <set>
#include <vector>

#include "checks/CheckReport.h"
#include "ui/CatalogueText.h"
#include "ui/WindowDialogs.h"

class QLabel;
class QPushButton;
class QTableView;
class QTimer;
class TMessageNavigator;
class TTranslationSession;

class TProblemsModel : public QAbstractTableModel {
 public:
  enum Column {
    PositionColumn,
    IdColumn,
    KindColumn,
    CheckColumn,
    DetailColumn,
    SourceColumn,
    TranslationColumn,
    ColumnCount
  };

  explicit TProblemsModel(const TCatalogueText& text, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  const std::vector<TReportRow>& Rows() const { return rows_; }
  void SetRows(std::vector<TReportRow> rows);
  // The rows of `position` replaced by `rows` (all of that position), the others left in place.
  void ReplacePosition(int32_t position, std::vector<TReportRow> rows);

 private:
  // Looked up once: the box may still be asked while the window's catalogue is torn down.
  QStringList headers_;
  std::vector<TReportRow> rows_;
};

// Found among the window's children by its class, hence Q_OBJECT.
class TProblemsDialog : public QDialog {
  Q_OBJECT

 public:
  TProblemsDialog(TTranslationSession& session, TMessageNavigator& navigator, TWindowDialogs& dialogs, QWidget* parent);
  ~TProblemsDialog() override;

  TProblemsModel* Model = nullptr;
  QTableView* Table = nullptr;
  QLabel* Summary = nullptr;
  QPushButton* SaveButton = nullptr;
  TFileDialog SaveDialog;

  // Checks the whole project again.
  void Refresh();
  // The messages changed since the last update checked again (done by itself right after a change).
  void UpdateChanged();
  // Shows the row's message in the window.
  void RowActivated(const QModelIndex& index);
  // Asks for a file and writes the report in the format of its extension.
  void SaveReport();

 private:
  TCheckReport Report() const;
  TSpellChecker* Speller() const;
  // The rows of the checks the window runs, the glossary's and the workspace's included.
  TReportRows Rows() const;
  void ShowSummary();
  void Guarded(const std::function<void()>& command);

  TTranslationSession& session_;
  // The window's children go in the order they were made, the session before this box.
  QPointer<TTranslationSession> sessionAlive_;
  TMessageNavigator& navigator_;
  TWindowDialogs& dialogs_;
  int listener_ = 0;
  QTimer* changes_ = nullptr;
  std::set<int32_t> changed_;  // message numbers; 0 for the whole table
};

// The window's problems box, made on first use and checked again each time it is asked for.
TProblemsDialog* ShowProblems(TTranslationSession& session, TMessageNavigator& navigator, TWindowDialogs& dialogs,
                              QWidget* window);
