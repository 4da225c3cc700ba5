#pragma once

class QCoreApplication;

// Qt's own texts (the print dialog, the context menu of the edit boxes, the standard
// buttons) in Japanese, like every text of the program, whatever the process's locale.
// The few texts of the print dialog that translation lacks come from the program itself.
// False when the translation is not installed: Qt's other texts stay in English then.
bool installQtTranslation(QCoreApplication &app);
