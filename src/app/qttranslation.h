#pragma once

class QCoreApplication;

// Qt's own texts (the print dialog, the context menu of the edit boxes, the standard
// buttons) in Japanese, like every text of the program, whatever the process's locale.
// False when the translation is not installed: those texts stay in English then.
bool installQtTranslation(QCoreApplication &app);
