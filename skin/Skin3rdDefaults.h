// The control classes of other component libraries that the skin knows, and the built-in
// kind each is skinned as: the starting value of a skin component's Skin3rd list.
#pragma once

#include <string>
#include <vector>

const std::vector<std::wstring>& DefaultSkin3rd();
