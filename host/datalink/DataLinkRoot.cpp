#include "DataLinkRoot.h"

namespace ostrel {

std::shared_ptr<DataLinkRoot> DataLinkRoot::instance()
{
    thread_local std::shared_ptr<DataLinkRoot> root = std::make_shared<DataLinkRoot>();
    return root;
}

} // namespace ostrel
