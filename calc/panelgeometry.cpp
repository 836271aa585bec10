#include "calc/panelgeometry.h"

#include "calc/fpfaults.h"
#include "calc/numbertext.h"

#include <exception>

namespace calc {
namespace {

// The depth by which the panel enters every groove, in mm.
constexpr Extended kGroove = 15.0L;

// Reads the fields into the dimension set, each stored as soon as it reads. A failure (a text
// that does not read, a value too large for a double) leaves the later fields untouched.
bool readFields(const PanelFields& fields, char mark, PanelDimensions& panel) {
    try {
        panel.GrandExt = toDouble(ParseNumber(fields.EditGrandExt, mark));
        panel.PetitExt = toDouble(ParseNumber(fields.EditPetitExt, mark));
        panel.Largeur = toDouble(ParseNumber(fields.EditLargeur, mark));
        panel.LargBois = toDouble(ParseNumber(fields.EditLargBois, mark));
        const Extended degrees = ParseNumber(fields.EditAngle, mark);
        panel.Angle = toDouble(((degrees * 2) * kPi) / 360);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace

const char* panelOutputName(PanelOutput output) {
    switch (output) {
    case PanelOutput::EditAngle:
        return "EditAngle";
    case PanelOutput::EditPetitExt:
        return "EditPetitExt";
    case PanelOutput::EditGrandExt:
        return "EditGrandExt";
    case PanelOutput::LabelLargeurInt:
        return "LabelLargeurInt";
    case PanelOutput::LabelGHInt:
        return "LabelGHInt";
    case PanelOutput::LabelPHExt:
        return "LabelPHExt";
    case PanelOutput::LabelDiag:
        return "LabelDiag";
    case PanelOutput::LabelPHInt:
        return "LabelPHInt";
    }
    return "";
}

PanelOutcome computePanel(const PanelFields& fields, char mark, int mode, PanelDimensions& panel,
                          const PanelSink& sink) {
    if (!readFields(fields, mark, panel)) {
        return PanelOutcome::InputRejected;
    }

    // Every value below is read back from the dimension set, so each step continues from what
    // the previous one stored, rounded to a double.
    const Extended L = panel.Largeur;
    const Extended B = panel.LargBois;

    sink(PanelOutput::LabelLargeurInt, FormatNumber((L - (B * 2)).value(), 0, mark));

    double t = 1.0;
    switch (mode) {
    case BothHeights:
        t = toDouble(L / (Extended(panel.GrandExt) - panel.PetitExt));
        panel.Angle = toDouble(atan2(t, 1));
        sink(PanelOutput::EditAngle,
             FormatNumber((((Extended(panel.Angle) * 360) / 2) / kPi).value(), 1, mark));
        break;
    case AngleAndLongHeight:
        t = toDouble(sin(panel.Angle) / cos(panel.Angle));
        panel.PetitExt = toDouble(Extended(panel.GrandExt) - (L / t));
        sink(PanelOutput::EditPetitExt, FormatNumber(panel.PetitExt, 0, mark));
        break;
    case AngleAndShortHeight:
        t = toDouble(sin(panel.Angle) / cos(panel.Angle));
        panel.GrandExt = toDouble((L / t) + panel.PetitExt);
        sink(PanelOutput::EditGrandExt, FormatNumber(panel.GrandExt, 0, mark));
        break;
    default:
        break; // no quantity to complete: t stays 1 and the angle as read
    }

    const Extended G = panel.GrandExt;
    const Extended P = panel.PetitExt;
    const Extended sinA = sin(panel.Angle);
    const double q = toDouble(B / t);    // the top edge's drop across one stile width
    const double r = toDouble(B / sinA); // the oblique rail's height, measured vertically

    sink(PanelOutput::LabelGHInt, FormatNumber((((G - B) - q) - r).value(), 0, mark));
    sink(PanelOutput::LabelPHExt, FormatNumber((P + q).value(), 0, mark));
    sink(PanelOutput::LabelDiag, FormatNumber(((L - (B * 2)) / sinA).value(), 0, mark));
    sink(PanelOutput::LabelPHInt, FormatNumber((((P - B) + q) - r).value(), 0, mark));

    // The panel's edge heights when it enters every groove by kGroove.
    const double interiorLong = toDouble(((G - B) - q) - r);
    const double riseIntoStile = toDouble(kGroove / t);
    const double depthIntoRail = toDouble(kGroove / sinA);
    panel.PanneauGH =
        toDouble(((Extended(interiorLong) + riseIntoStile) + depthIntoRail) + kGroove);
    panel.PanneauPH =
        toDouble((((P - B) + ((B - kGroove) / t)) - ((B - kGroove) / sinA)) + kGroove);
    return PanelOutcome::Completed;
}

} // namespace calc
