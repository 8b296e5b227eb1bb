// GenICam GenApi XML rendering of a description tree.
#include "description/ParameterInfoBuilderXML.h"

namespace brenvik::description {

// No port carries a description tree yet, so there is never a tree to render.
std::string ParameterInfoBuilderXML::build() const { return {}; }

}  // namespace brenvik::description
