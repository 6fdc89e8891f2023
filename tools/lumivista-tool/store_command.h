#pragma once
// lumivista-tool store: the user's photos downloaded from the photo service as the download
// page does, through the store library.

#include "command.h"

namespace lv::tool {

int RunStore(std::string_view name, Arguments args);
// "store upload" and "store order" (store_upload_command.cpp).
int RunStoreUpload(Arguments args);
int RunStoreOrder(Arguments args);
// "store publish": an album's web gallery published to the service.
int RunStorePublish(Arguments args);

}  // namespace lv::tool
