#pragma once
// The cylinder heads offered on the component menu, with the flow-bench data
// the port-flow record loads for them. Constant data, searched by key.

#include <array>
#include <string_view>

namespace brisca {

//! Lift/flow points of a built-in head, per side.
inline constexpr int kBuiltInPointCount = 8;
using BuiltInPoints = std::array<float, kBuiltInPointCount>;

//! Keys of the built-in heads run 1..kBuiltInHeadCount.
inline constexpr int kBuiltInHeadCount = 24;
//! "Cylinder Head Type" value that stands for custom flow data.
inline constexpr int kCustomHeadKey = 25;
//! A head's menu command is this base plus its key (32795..32818; 32819 custom).
inline constexpr int kHeadCommandBase = 32794;

//! One side (intake or exhaust) of a built-in head.
struct BuiltInPort {
  float testDiameter;         //!< flow-bench test valve diameter [in]
  float pressureDrop;         //!< flow-bench test pressure drop [inH2O]
  int valvesPerPort;          //!< valves sharing one port
  const BuiltInPoints* lift;  //!< valve lifts [in], rising
  BuiltInPoints flow;         //!< measured airflow per port at each lift [cfm]
};

struct BuiltInHead {
  int key;                  //!< 1..24, the value of "Cylinder Head Type"
  const char* description;  //!< menu text and record description
  BuiltInPort intake;
  BuiltInPort exhaust;
};

//! The entry of `key`, or nullptr when no built-in head has that key.
const BuiltInHead* FindBuiltInHead(int key);
//! True when `description` is exactly the description of a built-in head.
bool IsBuiltInDescription(std::string_view description);

}  // namespace brisca
