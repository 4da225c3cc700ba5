// Placeholders while the pages are built.
#include "mainform.h"

bool TMainForm::yoteiRegist(qint64) { return false; }
void TMainForm::yoteiChange() {}
bool TMainForm::yoteiDelete() { return false; }
void TMainForm::YTimeEditExit() {}
bool TMainForm::linksRegist(qint64) { return false; }
void TMainForm::linksChange() {}
bool TMainForm::linksDelete() { return false; }
bool TMainForm::courseRegist(qint64) { return false; }
void TMainForm::courseChange() {}
bool TMainForm::courseDelete() { return false; }
void TMainForm::YardValueCheck(QLineEdit *) {}
void TMainForm::ParValueCheck(QLineEdit *) {}
void TMainForm::CourseSheetRegistCheck() {}
