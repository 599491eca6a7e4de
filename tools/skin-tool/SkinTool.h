// kivora-skin: the skin authoring tool. The commands work on skin files - the LZH stream
// of a skin archive, exactly what a skin component loads - and on plain folders.
//
//   pack <folder> <out>     every file of the folder becomes a member (INI text first)
//   unpack <skin> <folder>  writes every member into the folder
//   list <skin>             member names and sizes in archive order
//   info <skin>             what the skin holds, as JSON
#pragma once

#include <ostream>
#include <string>
#include <vector>

// Exit codes of the tool.
enum TSkinToolExit { steOk = 0, steFailed = 1, steUsage = 2 };

// Runs one command. Arguments are UTF-8 (the command name first); results go to out,
// messages to err. Never throws.
int RunSkinTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
