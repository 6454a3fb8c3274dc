#pragma once
// A plain C++ layer that includes Qt: the layer check must refuse it.
#include <QString>
