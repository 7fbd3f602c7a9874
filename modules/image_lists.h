// The engine's image lists of the memory, network and mouse modules, as
// the picture files in skins/. Pictures are numbered from 1; a number the
// list does not have gives "".
#pragma once

#include <string>

namespace vel {

// iListMEM: 1-5 the faces, 6-10 the bar pictures, in style order.
std::string memImageFile(int number);
// iListNET: 1-5 the faces; 6-15 connected / not connected per style
// (6 + 2s, 7 + 2s); 16-20 LAN, 21-25 MODEM, 26-30 PROXY, 31-35 any other
// connection type, each by style.
std::string netImageFile(int number);
// iListMSE: 1-5 the faces.
std::string mseImageFile(int number);

}  // namespace vel
