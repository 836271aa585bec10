#pragma once
// The platform's failure for a cell index outside the grid. Pure C++.

#include "base/failure.h"

namespace stringgrid {

class GridIndexError : public base::Failure {
public:
    GridIndexError() : Failure("Indice de grille hors limites") {}
};

} // namespace stringgrid
