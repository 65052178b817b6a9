#pragma once
// One undo step for a replace in translations, in one message or in all of them.
#include <QUndoCommand>

#include <cstdint>
#include <functional>
#include <vector>

#include "project/MessageSearch.h"

class TtxgProject;

class TReplaceCommand : public QUndoCommand {
 public:
  // The project tells its change listeners of every translation stored; `applied` is called after
  // each redo and undo with the replacements (nullptr: nobody).
  TReplaceCommand(TtxgProject& project, std::vector<TReplacement> replacements,
                  std::function<void(const std::vector<TReplacement>&)> applied, const QString& text);
  void redo() override;
  void undo() override;
  std::size_t Count() const { return replacements_.size(); }

 private:
  void Apply(bool undo);
  TtxgProject& project_;
  std::vector<TReplacement> replacements_;
  std::function<void(const std::vector<TReplacement>&)> applied_;
};
