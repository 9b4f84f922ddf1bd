#pragma once
// One producer of the complete report run on its own.

#include "app/form1.h"

// Puts the step box at `step` without the dispatcher, so that neither this write nor
// the producer's own hand-back starts the steps after it.
inline void atStepAlone(Form1& form1, const char* step) {
    form1.tb_Forms_show.onChange = nullptr;
    form1.tb_Forms_show.setText(step);
}
