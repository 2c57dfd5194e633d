#include "dialogs/OffLineFilterCommands.h"

#include <memory>

#include "base/UserMessages.h"
#include "capture/CDecodeDoc.h"
#include "dialogs/FilterSheet.h"
#include "filters/FilterFiles.h"
#include "filters/OffLineFrameFilter.h"

namespace qv {

FilterCriteria offLineCriteria(CDecodeDoc &doc) {
    DecodableObject *decodable = doc.decodable();
    if (!decodable)
        return {};
    if (auto *filter = dynamic_cast<OffLineFrameFilter *>(&decodable->filter()))
        return filter->filter().criteria();
    return {};
}

void applyOffLineCriteria(CDecodeDoc &doc, const FilterCriteria &criteria,
                          const CauseList *causes) {
    if (criteria == FilterCriteria{})
        doc.applyOffLineFilters(nullptr);
    else
        doc.applyOffLineFilters(std::make_unique<OffLineFrameFilter>(criteria, causes));
}

bool editOffLineFilters(CDecodeDoc &doc, const std::string &filterFolder, const CauseList *causes,
                        UserMessages &messages, QWidget *parent) {
    FilterSheet sheet(FilterKind::OffLine, offLineCriteria(doc), FilterFiles(filterFolder), causes,
                      messages, parent);
    if (sheet.exec() != QDialog::Accepted)
        return false;
    applyOffLineCriteria(doc, sheet.criteria(), causes);
    return true;
}

void callRefOnSelection(CDecodeDoc &doc, const CauseList *causes, UserMessages &messages) {
    const std::uint32_t frame = doc.currentFrame();
    if (!doc.isShown(frame))
        return;
    CDecoder &decoder = *doc.decoder();
    FilterCriteria criteria = offLineCriteria(doc);
    switch (selectCallRef(criteria, decoder.frame(), decoder.LayerCategory())) {
    case CallRefSelection::Applied:
        applyOffLineCriteria(doc, criteria, causes);
        break;
    case CallRefSelection::AlreadySet:
        break;
    case CallRefSelection::NotLayer3:
        messages.show(kNotLayer3Frame, kProgramCaption, MessageIcon::Exclamation);
        break;
    }
}

} // namespace qv
