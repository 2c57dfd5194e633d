#pragma once
// The off-line filter commands of a capture window: the filter sheet on the document's filter,
// and "Call-Ref on selection".
#include <string>

#include "filters/FilterCriteria.h"

class QWidget;

namespace qv {

class CauseList;
class CDecodeDoc;
class UserMessages;

// The criteria of the document's off-line filter; every frame shown when it has none.
FilterCriteria offLineCriteria(CDecodeDoc &doc);
// Puts criteria on the document as its off-line filter.
void applyOffLineCriteria(CDecodeDoc &doc, const FilterCriteria &criteria, const CauseList *causes);
// Opens the "Off-Line Filters" sheet on the document's filter, with the profiles of
// filterFolder; OK applies what the pages hold. True when the filter was applied.
bool editOffLineFilters(CDecodeDoc &doc, const std::string &filterFolder, const CauseList *causes,
                        UserMessages &messages, QWidget *parent);
// Filters the document on the call reference of its current frame, an ISDN layer-3 frame;
// any other frame is answered with "This frame is not a layer 3 frame".
void callRefOnSelection(CDecodeDoc &doc, const CauseList *causes, UserMessages &messages);

} // namespace qv
