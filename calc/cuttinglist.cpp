#include "calc/cuttinglist.h"

#include "calc/fpfaults.h"
#include "calc/numbertext.h"

namespace calc {
namespace {

// Twice the groove depth the panel enters on each side, in mm.
constexpr Extended kPanelWidthAllowance = 30.0L;

std::string fixed(Extended value, char mark) {
    return FormatNumber(value.value(), 0, mark);
}

// A rail's length: its length between the stiles plus one tenon (or ravancement) at each end.
std::string railLength(const std::string& between, const std::string& tenon, char mark) {
    const Extended length = ParseNumber(between, mark);
    return fixed(length + Extended(ParseNumber(tenon, mark)) * 2, mark);
}

} // namespace

void fillCuttingList(const CuttingListSource& source, char mark, const CellSink& sink) {
    sink(1, 1, fixed(ParseNumber(source.EditGrandExt, mark), mark));
    sink(1, 2, fixed(ParseNumber(source.LabelPHExt, mark), mark));
    sink(1, 3, railLength(source.LabelLargeurInt, source.EditTenon, mark));
    sink(1, 4, railLength(source.LabelDiag, source.EditTenon, mark));
    sink(1, 5, fixed(source.PanneauGH, mark) + " et " + fixed(source.PanneauPH, mark));

    for (int row = 1; row <= 4; ++row) {
        sink(2, row, source.EditLargBois);
    }
    sink(2, 5,
         fixed(Extended(ParseNumber(source.LabelLargeurInt, mark)) + kPanelWidthAllowance, mark));

    for (int row = 1; row <= 4; ++row) {
        sink(3, row, source.EditEpaisseur);
    }

    const std::string stileRemark = "Coupe avec un angle de : " + source.EditAngle + "°" +
                                    " (prévoir une surlongueur confortable)";
    sink(4, 1, stileRemark);
    sink(4, 2, stileRemark);

    const std::string railRemark = source.Label2 + " : " + source.EditTenon + " [en prévoir 2]";
    sink(4, 3, railRemark);
    sink(4, 4, railRemark);
}

} // namespace calc
