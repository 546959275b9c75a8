#include "objects/unified/UnifiedBusinessObjectNotifiersImpl.h"

namespace OlvarUnified {

std::shared_ptr<PropertyNotifier> UnifiedBusinessObjectNotifiersImpl::getGuidNotifier() { return m_GuidNotifier.get(); }

void UnifiedBusinessObjectNotifiersImpl::OnGuidChanged() { m_GuidNotifier.fireIfCreated(); }

}  // namespace OlvarUnified
