#ifndef STARTUP_H
#define STARTUP_H

class QApplication;

// Applies the embedded style sheet to the whole application; true only when a
// non-empty sheet was applied.
bool loadStyleSheet(QApplication &app);

// Sets the application-wide font ("Microsoft YaHei", 10 points) and maps that family
// onto an installed CJK family where it is missing, so Chinese text renders.
void applyApplicationFont();

#endif
