#include "ui/main/cuttinglistsource.h"

#include "platform/label.h"
#include "ui/main/tmainform.h"

#include <QLineEdit>

namespace ui {

calc::CuttingListSource cuttingListSource(const TMainForm& mainForm) {
    calc::CuttingListSource source;
    source.EditGrandExt = mainForm.EditGrandExt->text().toStdString();
    source.EditLargBois = mainForm.EditLargBois->text().toStdString();
    source.EditEpaisseur = mainForm.EditEpaisseur->text().toStdString();
    source.EditTenon = mainForm.EditTenon->text().toStdString();
    source.EditAngle = mainForm.EditAngle->text().toStdString();
    source.LabelPHExt = mainForm.LabelPHExt->Caption().toStdString();
    source.LabelLargeurInt = mainForm.LabelLargeurInt->Caption().toStdString();
    source.LabelDiag = mainForm.LabelDiag->Caption().toStdString();
    source.Label2 = mainForm.Label2->Caption().toStdString();
    source.PanneauGH = mainForm.Dimensions().PanneauGH;
    source.PanneauPH = mainForm.Dimensions().PanneauPH;
    return source;
}

} // namespace ui
