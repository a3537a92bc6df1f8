#pragma once

class QCoreApplication;

// Qt's own dialogs and menus (file and print dialogs, input boxes, the
// right-click menu of text fields) speak French as the rest of the program:
// loads the toolkit's French catalogues, once, into the application.
// Returns false when no catalogue could be found (the texts then stay as
// the toolkit writes them).
bool installeTraductionsQt(QCoreApplication &app);
