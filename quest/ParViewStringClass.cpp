#include "quest/ParViewStringClass.h"

#include "support/BlockFile.h"

void TParWiewString::Load(TBlockFileReader& file) {
  From = file.ReadInt();
  To = file.ReadInt();
  Text.Load(file);
}

void TParWiewString::Save(TBlockFileWriter& file) const {
  file.WriteInt(From);
  file.WriteInt(To);
  Text.Save(file);
}

void TParWiewString::Assign(const TParWiewString& source) {
  From = source.From;
  To = source.To;
  Text.Text = TrimQuestText(source.Text.Text);
}
