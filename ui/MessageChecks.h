#pragma once
// The checks of the shown message in the window: markup coloured in both boxes, the findings of
// the translation as a warning sign in the corner of the target box (the list in its tooltip) with
// their stretches underlined, misspelled words underlined, and the target box's context menu with
// the spelling's suggestions and "Add to Dictionary"; the glossary terms of the source marked in the
// source box with their translations in its tooltip. It asks the core for everything it shows.
#include <QObject>
#include <QPoint>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "checks/TranslationChecks.h"
#include "ui/CatalogueText.h"

class QLabel;
class QMenu;
class QPlainTextEdit;
class TMarkupHighlighter;
class TMemo;
class TSpellChecker;
class TTermMatcher;
class TtxgProject;

class TMessageChecks : public QObject {
 public:
  TMessageChecks(QPlainTextEdit* source, TMemo* target, TCatalogueText text);
  ~TMessageChecks() override;

  // The spelling language is the project's "spelling" setting: a dictionary name or a language
  // ("ru_RU", "ru"); unset, no spelling. Choosing one stores it in the project and checks again.
  void ChooseSpelling(const std::string& language);
  std::string SpellingDictionary() const;                    // empty when off
  TSpellChecker* Speller() const { return speller_.get(); }  // nullptr when off
  // Fills a menu with "None" and every installed dictionary, the project's choice checked.
  void FillSpellingMenu(QMenu* menu);
  // The Spelling Language submenu of `parent`, filled when opened: the choice belongs to the project
  // shown then.
  QMenu* CreateSpellingMenu(QMenu* parent);

  // Checks message `message` of the project again (after every change and every move); nullptr
  // or message 0 clears everything. Takes up the project's spelling setting when it changed.
  void Refresh(TtxgProject* project, int32_t message);

  const std::vector<TCheckFinding>& Findings() const { return findings_; }
  // What the warning sign and the underlines show, as plain lines for reading from the keyboard:
  // each finding (but "unchanged", which the grey text says) and each misspelled word, or a line
  // saying there is none.
  QString Problems() const;
  QLabel* Badge() const { return badge_; }
  TMarkupHighlighter* SourceHighlighter() const { return sourceHighlighter_; }
  TMarkupHighlighter* TargetHighlighter() const { return targetHighlighter_; }

  // The target box's context menu at a point of its viewport: the standard entries, headed by the
  // suggestions and "Add to Dictionary" when the point is on a misspelled word. The caller owns it.
  QMenu* ContextMenu(QPoint at);
  // How a chosen suggestion reaches the translation: positions in the target box's document. By
  // default the box's text is edited as if the user typed it.
  std::function<void(int begin, int end, const QString& replacement)> ReplaceText;
  // Told once when the project's spelling language has no dictionary here (spelling is then off).
  std::function<void(const QString& error)> OnSpellingError;
  // The terms of the project's glossaries (nullptr when it has none): marked in the source, and
  // the translation checked against them.
  std::function<const TTermMatcher*()> TermMatcher;
  // The findings that need the rest of the game (the check "inconsistent"); unset, none.
  std::function<std::vector<TCheckFinding>(int32_t message)> WorkspaceFindings;
  // The tooltip of the term at a position of the source box's document; empty where there is none.
  QString TermTipAt(int position) const;
  // Runs a menu command; the window shows what it raises (adding a word writes a file).
  std::function<void(const std::function<void()>&)> RunGuarded = [](const std::function<void()>& command) {
    command();
  };

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void PlaceBadge();
  struct TTermMark {
    int Begin = 0;  // in the source box's document
    int End = 0;
    QString Tip;
  };

  QPlainTextEdit* source_;
  // Kept apart: the filter still sees its events while the source box is torn down.
  QWidget* sourceView_;
  QPlainTextEdit* target_;
  TCatalogueText text_;
  TMarkupHighlighter* sourceHighlighter_;
  TMarkupHighlighter* targetHighlighter_;
  QLabel* badge_;
  std::unique_ptr<TSpellChecker> speller_;
  std::string spellingSetting_;  // the project setting the speller was made for
  TtxgProject* project_ = nullptr;
  int32_t message_ = 0;
  std::vector<TCheckFinding> findings_;
  std::vector<TCheckFinding> misspellings_;
  std::vector<TTermMark> terms_;
};

// Where a position of a stored text (line breaks as CR LF) is in the text box, which shows every
// line break as one character.
int ShownPosition(std::u16string_view stored, int position);
