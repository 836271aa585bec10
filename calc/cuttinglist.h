#pragma once
// The cutting list's 18 computed cells, from what the main window displays.

#include <functional>
#include <string>

namespace calc {

// What the main window shows when the cutting list is opened: the edits' current texts, the
// result labels' captions and the two panel heights the last complete calculation stored.
struct CuttingListSource {
    std::string EditGrandExt;
    std::string EditLargBois;
    std::string EditEpaisseur;
    std::string EditTenon;
    std::string EditAngle;
    std::string LabelPHExt;
    std::string LabelLargeurInt;
    std::string LabelDiag;
    std::string Label2; // "Ravancement (mm)" or "Longueur du tenon (mm)"
    double PanneauGH = 0;
    double PanneauPH = 0;
};

// Receives each cell (column, row; the grid's fixed header row and column are 0) as it is
// computed.
using CellSink = std::function<void(int col, int row, const std::string& text)>;

// Writes the cells in this order: (1,1) (1,2) (1,3) (1,4) (1,5), (2,1)..(2,4), (2,5),
// (3,1)..(3,4), (4,1) (4,2), (4,3) (4,4). Numbers are read and lengths formatted (0 decimals)
// with the decimal mark `mark`; the width, thickness, angle, tenon and Label2 texts are copied
// verbatim.
// A text that does not read as a number throws calc::ConversionError at its cell (an overflowing
// sum throws base::FloatOverflow), after the earlier cells were written.
void fillCuttingList(const CuttingListSource& source, char mark, const CellSink& sink);

} // namespace calc
