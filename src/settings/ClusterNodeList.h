#pragma once

#include <array>

// Public nodes of the DX-cluster network and of the Reverse Beacon Network
// that the settings window offers; any other can be typed.
struct ClusterNode {
    const char* name;
    const char* address;
    const char* description;
};

inline constexpr std::array<ClusterNode, 6> WellKnownClusterNodes{{
    {"VE7CC", "dxc.ve7cc.net:23", "CC Cluster, Canada : spots du monde entier"},
    {"W3LPL", "w3lpl.net:7373", "AR-Cluster, États-Unis : très suivi en contest"},
    {"NC7J", "dxc.nc7j.com:7373", "AR-Cluster, États-Unis"},
    {"DXFun", "dxfun.com:8000", "DXSpider, spots du monde entier"},
    {"RBN CW/RTTY", "telnet.reversebeacon.net:7000",
     "Reverse Beacon Network : stations CW et RTTY entendues par les skimmers"},
    {"RBN FT8", "telnet.reversebeacon.net:7001",
     "Reverse Beacon Network : stations FT8 et FT4 entendues par les skimmers"},
}};
