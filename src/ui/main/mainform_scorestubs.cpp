// Placeholders while the score page is built.
#include "mainform.h"

void TMainForm::ScoreSheet_Format() {}
void TMainForm::ScoreEditReadOnly() {}
void TMainForm::PuttEditReadOnly() {}
void TMainForm::ScoreEditNotReadOnly() {}
void TMainForm::PuttEditNotReadOnly() {}
void TMainForm::scoreInputsReadOnly(bool) {}
void TMainForm::ScoreCardFrame1CourseCombo1Change() {}
void TMainForm::ScoreCardFrame2CourseCombo1Change() {}
void TMainForm::courseChosen(int) {}
void TMainForm::SHandicapEditExit() {}
void TMainForm::WeatherComboChange() {}
void TMainForm::PartnerScoreCheck(QLineEdit *) {}
void TMainForm::ScoreSheetRegistCheck() {}
bool TMainForm::scoreRegist(qint64) { return false; }
void TMainForm::scoreChange() {}
bool TMainForm::scoreDelete() { return false; }
void TMainForm::ScoreNodeSelect(const QString &) {}
void TMainForm::ScoreBtnClick() {}
void TMainForm::SeisekiGridDblClick() {}
