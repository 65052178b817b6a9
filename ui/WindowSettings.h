#pragma once
// What the window remembers between runs in the application's QSettings: its size and position,
// the font of the texts and the folder each file dialog last used. Restored once at start-up
// (StartTranslator), saved when the window closes, so a window made for a test starts as it was
// designed.
class TForm1;

void RestoreWindowSettings(TForm1& form);
void SaveWindowSettings(TForm1& form);
