#pragma once
// The JSON record's lists: every drive the system lists and every processor WMI lists.

#include "app/json_fact.h"
#include "platform/volumes.h"
#include "platform/wmi.h"

// "drives" into `record`.
void drives(Json& record, Volumes& volumes);
// "processors" into `record`.
void processors(Json& record, Wmi& wmi);
