#include "gui/engine/CamLobeControls.h"

#include "core/base/FatalAssert.h"
#include "core/valvetrain/CamProfile.h"
#include "gui/engine/SimSpecEditCtrl.h"

namespace brisca {
namespace {

// Field ids by slot, low-speed and high-speed column (0: none).
constexpr std::array<int, CamLobeControls::kFieldCount> kLowIds = {
    1122, 1130, 1171, 1175, 1141, 1169, 1133, 1182, 1194, 1211, 1177, 1213, 1135, 1173,
    1151, 1124, 1137, 1139, 1165, 1167, 1156, 1157, 1187, 1188, 1198, 1201, 1204, 1206};
constexpr std::array<int, CamLobeControls::kFieldCount> kHighIds = {
    0,    0,    1174, 1189, 1143, 1192, 1144, 1193, 1195, 1212, 1196, 1214, 1145, 1197,
    1154, 1146, 1150, 1155, 1199, 1200, 1158, 1159, 1202, 1203, 1205, 1207, 1208, 1210};

constexpr int kCamTypesMenu = 127;
constexpr int kLifterTypesMenu = 128;
constexpr int kIntakeLiftMenu = 154;
constexpr int kExhaustLiftMenu = 155;
constexpr int kCamAdvanceMenu = 214;
constexpr int kRampRateMenu = 198;
constexpr int kTimingMethodMenu = 129;

constexpr int LiftMode(bool autoLift) {
  return autoLift ? CSimSpecEditCtrl::kMenuOnly : CSimSpecEditCtrl::kTypeOrMenu;
}

}  // namespace

CamLobeControls::CamLobeControls(CVexoDoc& document, CCamProfile& lobe, bool highSpeed,
                                 const FieldLookup& find)
    : document_(document), lobe_(lobe), highSpeed_(highSpeed) {
  const auto& ids = highSpeed ? kHighIds : kLowIds;
  for (int i = 0; i < kFieldCount; ++i) {
    fields_[i] = ids[i] ? find(ids[i]) : nullptr;
    BRISCA_ASSERT(ids[i] == 0 || fields_[i] != nullptr);
  }
}

void CamLobeControls::Bind(int groupId, bool autoLift) {
  constexpr int kType = CSimSpecEditCtrl::kTypeOrMenu;
  constexpr int kShow = CSimSpecEditCtrl::kDisplayOnly;
  if (!highSpeed_) {
    fields_[kName]->BindSpec(groupId, std::as_const(lobe_).CamType(), CSimSpecEditCtrl::kMenuOnly,
                             kCamTypesMenu);
    fields_[kLifters]->BindSpec(groupId, std::as_const(lobe_).LifterType(),
                                CSimSpecEditCtrl::kMenuOnly, kLifterTypesMenu);
  }
  fields_[kIntakeLift]->BindSpec(groupId, lobe_.IntakeLift(), LiftMode(autoLift), kIntakeLiftMenu);
  fields_[kExhaustLift]->BindSpec(groupId, lobe_.ExhaustLift(), LiftMode(autoLift),
                                  kExhaustLiftMenu);
  fields_[kIntakeDuration]->BindSpec(groupId, std::as_const(lobe_).IntakeDuration(), kShow, 0);
  fields_[kExhaustDuration]->BindSpec(groupId, std::as_const(lobe_).ExhaustDuration(), kShow, 0);
  fields_[kIntakeCenter]->BindSpec(groupId, std::as_const(lobe_).IntakeCenterline(), kShow, 0);
  fields_[kExhaustCenter]->BindSpec(groupId, lobe_.ExhaustCenterline(), kShow, 0);
  fields_[kTrueIntakeCenter]->BindSpec(groupId, lobe_.ActualIntakeCenterline(), kShow, 0);
  fields_[kTrueExhaustCenter]->BindSpec(groupId, lobe_.ActualExhaustCenterline(), kShow, 0);
  fields_[kIntakeAdvance]->BindSpec(groupId, lobe_.IntakeAdvance(), kType, kCamAdvanceMenu);
  fields_[kExhaustAdvance]->BindSpec(groupId, lobe_.ExhaustAdvance(), kType, kCamAdvanceMenu);
  fields_[kLobeCenter]->BindSpec(groupId, std::as_const(lobe_).LobeCenterAngle(), kShow, 0);
  fields_[kOverlap]->BindSpec(groupId, lobe_.ValveOverlap(), kShow, 0);
  fields_[kRampRate]->BindSpec(groupId, lobe_.RampRate(),
                               lobe_.AutoRampRateOn() ? CSimSpecEditCtrl::kMenuOnly : kType,
                               kRampRateMenu);
  fields_[kMethod]->BindSpec(groupId, lobe_.Method(TimingSet::Primary),
                             CSimSpecEditCtrl::kMenuOnly, kTimingMethodMenu);
  for (int e = 0; e < kCamEventCount; ++e) {
    const auto event = static_cast<CamEvent>(e);
    fields_[kPrimary + e]->BindSpec(groupId, lobe_.Event(TimingSet::Primary, event), kType, 0);
    fields_[kSecondary + e]->BindSpec(groupId, lobe_.Event(TimingSet::Secondary, event), kType, 0);
    fields_[kTrue + e]->BindSpec(groupId, lobe_.ActualEvent(event), kShow, 0);
  }
}

void CamLobeControls::Refresh(bool autoLift) {
  if (!highSpeed_) {
    fields_[kName]->RefreshText(true);
    fields_[kLifters]->RefreshText(true);
  }
  fields_[kRampRate]->RefreshText(true);
  fields_[kMethod]->RefreshText(true);
  for (Slot slot : {kLobeCenter, kOverlap, kIntakeAdvance, kExhaustAdvance}) {
    fields_[slot]->RefreshText(false);
  }
  fields_[kIntakeLift]->RefreshText(true);
  fields_[kExhaustLift]->RefreshText(true);
  fields_[kIntakeLift]->SetEditMode(LiftMode(autoLift));
  fields_[kExhaustLift]->SetEditMode(LiftMode(autoLift));
  fields_[kRampRate]->SetEditMode(lobe_.AutoRampRateOn() ? CSimSpecEditCtrl::kMenuOnly
                                                         : CSimSpecEditCtrl::kTypeOrMenu);
  for (Slot slot : {kIntakeDuration, kExhaustDuration, kIntakeCenter, kExhaustCenter,
                    kTrueIntakeCenter, kTrueExhaustCenter}) {
    fields_[slot]->RefreshText(false);
  }
  for (int i = kPrimary; i < kFieldCount; ++i) fields_[i]->RefreshText(false);
}

void CamLobeControls::SetEnabled(bool enabled) {
  for (CSimSpecEditCtrl* field : fields_) {
    if (field) field->setEnabled(enabled);
  }
}

}  // namespace brisca
