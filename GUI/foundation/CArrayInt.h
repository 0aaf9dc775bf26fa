#pragma once

#include "GUI/foundation/CArrayValues.h"

// A slot array of 32-bit integers; a free slot holds -1.
class CArrayInt : public CArrayValues<int> {};
