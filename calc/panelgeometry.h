#pragma once
// The door's geometry: from the five dimension fields and the input mode, the missing height or
// angle, the interior dimensions, the oblique rail and the two panel heights.
//
// Typical use from the calculate button's click handler (inside platform::guarded):
//
//     const calc::PanelOutcome outcome = calc::computePanel(
//         {EditGrandExt->text().toStdString(), ...}, platform::decimalMark(),
//         RadioGroupChoix->ItemIndex(), panel_,
//         [this](calc::PanelOutput output, const std::string& text) {
//             controlFor(output)->setText(QString::fromStdString(text));
//         });
//     if (outcome == calc::PanelOutcome::InputRejected)
//         platform::showNotice(QString::fromUtf8(calc::kInputRejectedNotice));
//
// An arithmetic fault (base::DivisionByZero, InvalidOperation, FloatOverflow) is thrown out
// of computePanel at the faulting step and is left to the handler's guard; whatever was written
// to the sink and to the dimension set before that step stays written.

#include <functional>
#include <string>

namespace calc {

// The panel dimension set the main window keeps between calculations. Lengths in mm, Angle in
// radians between the oblique top edge and the vertical sides.
struct PanelDimensions {
    double GrandExt = 0;
    double PetitExt = 0;
    double Largeur = 0;
    double LargBois = 0;
    double Angle = 0;
    double PanneauPH = 0;
    double PanneauGH = 0;
};

// The texts of the five dimension fields, as the user left them. EditAngle is in degrees.
struct PanelFields {
    std::string EditGrandExt;
    std::string EditPetitExt;
    std::string EditLargeur;
    std::string EditLargBois;
    std::string EditAngle;
};

// Input modes: the item index of RadioGroupChoix. Any other index computes no missing quantity.
enum PanelMode : int {
    BothHeights = 0,         // angle computed into EditAngle
    AngleAndLongHeight = 1,  // short height computed into EditPetitExt
    AngleAndShortHeight = 2, // long height computed into EditGrandExt
};

// The controls a calculation writes to. The computed field is one of the first three.
enum class PanelOutput {
    EditAngle,
    EditPetitExt,
    EditGrandExt,
    LabelLargeurInt,
    LabelGHInt,
    LabelPHExt,
    LabelDiag,
    LabelPHInt,
};

// The control's object name ("EditAngle", "LabelDiag", ...).
const char* panelOutputName(PanelOutput output);

// Receives each text at the moment the calculation writes it, in the calculation's order:
// LabelLargeurInt, then the computed field (if the mode computes one), then LabelGHInt,
// LabelPHExt, LabelDiag, LabelPHInt.
using PanelSink = std::function<void(PanelOutput output, const std::string& text)>;

enum class PanelOutcome {
    Completed,     // every output written, the dimension set fully updated
    InputRejected, // a field did not read: show kInputRejectedNotice; nothing was written
};

// The notice shown when the fields do not read.
inline constexpr const char* kInputRejectedNotice = "Valeurs saisies incorrectes";

// Runs one calculation, reading the fields and writing the results with the decimal mark `mark`.
//
// Reading: each field is parsed and stored into `panel` at once, in the order GrandExt,
// PetitExt, Largeur, LargBois, Angle (degrees to radians); the angle field must read in every
// mode. The first field that does not read (or whose value does not fit a double) ends the
// calculation with InputRejected: fields read before it keep their new values, the rest and the
// panel heights keep their old ones, and the sink is not called.
//
// Computing: writes go to the sink and to `panel` step by step. A division by zero, invalid
// operation or overflow (a value that does not fit the double it is stored in) throws the
// matching base::ArithmeticFault at that step, after the earlier writes.
PanelOutcome computePanel(const PanelFields& fields, char mark, int mode, PanelDimensions& panel,
                          const PanelSink& sink);

} // namespace calc
