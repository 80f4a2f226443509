// ParameterStore: the module-wide record of typed values that the master parameter load fills.
#pragma once

#include <cstdint>

namespace geran {

// One field per master-file key the product knows, in the order the load table documents them.
// The load presets nothing: a field that no load or SetParameter has written reads as zero.
// The four slot families hold one byte per timeslot 0 to 7.
class ParameterStore {
 public:
  static constexpr int kSlotCount = 8;

  std::uint8_t getDlTn(int slot) const { return dlTn_[slot]; }
  void setDlTn(int slot, std::uint8_t value) { dlTn_[slot] = value; }
  std::uint8_t getUlTn(int slot) const { return ulTn_[slot]; }
  void setUlTn(int slot, std::uint8_t value) { ulTn_[slot] = value; }
  std::uint8_t getNpduDlTn(int slot) const { return npduDlTn_[slot]; }
  void setNpduDlTn(int slot, std::uint8_t value) { npduDlTn_[slot] = value; }
  std::uint8_t getNpduUlTn(int slot) const { return npduUlTn_[slot]; }
  void setNpduUlTn(int slot, std::uint8_t value) { npduUlTn_[slot] = value; }
  std::uint8_t getRadioSystemGSM() const { return radioSystemGSM_; }
  void setRadioSystemGSM(std::uint8_t value) { radioSystemGSM_ = value; }
  std::uint8_t getRadioSystemGPRS() const { return radioSystemGPRS_; }
  void setRadioSystemGPRS(std::uint8_t value) { radioSystemGPRS_ = value; }
  std::int32_t getControlArfcnGSM() const { return controlArfcnGSM_; }
  void setControlArfcnGSM(std::int32_t value) { controlArfcnGSM_ = value; }
  std::int32_t getControlArfcnGPRS() const { return controlArfcnGPRS_; }
  void setControlArfcnGPRS(std::int32_t value) { controlArfcnGPRS_ = value; }
  std::int32_t getTrafficArfcnGSM() const { return trafficArfcnGSM_; }
  void setTrafficArfcnGSM(std::int32_t value) { trafficArfcnGSM_ = value; }
  std::int32_t getTrafficArfcnGPRS() const { return trafficArfcnGPRS_; }
  void setTrafficArfcnGPRS(std::int32_t value) { trafficArfcnGPRS_ = value; }
  std::uint8_t getTchTimeslot() const { return tchTimeslot_; }
  void setTchTimeslot(std::uint8_t value) { tchTimeslot_ = value; }
  std::uint8_t getCallScenario() const { return callScenario_; }
  void setCallScenario(std::uint8_t value) { callScenario_ = value; }
  float getRxLevel() const { return rxLevel_; }
  void setRxLevel(float value) { rxLevel_ = value; }
  float getTxLevel() const { return txLevel_; }
  void setTxLevel(float value) { txLevel_ = value; }
  std::uint8_t getCipheringType() const { return cipheringType_; }
  void setCipheringType(std::uint8_t value) { cipheringType_ = value; }
  std::uint8_t getCipheringAlgorithm() const { return cipheringAlgorithm_; }
  void setCipheringAlgorithm(std::uint8_t value) { cipheringAlgorithm_ = value; }
  std::uint8_t getSdcchTimeslot() const { return sdcchTimeslot_; }
  void setSdcchTimeslot(std::uint8_t value) { sdcchTimeslot_ = value; }
  std::uint8_t getTchRate() const { return tchRate_; }
  void setTchRate(std::uint8_t value) { tchRate_ = value; }
  std::uint8_t getDedicatedChannel() const { return dedicatedChannel_; }
  void setDedicatedChannel(std::uint8_t value) { dedicatedChannel_ = value; }
  std::uint32_t getRoutingAreaCode() const { return routingAreaCode_; }
  void setRoutingAreaCode(std::uint32_t value) { routingAreaCode_ = value; }
  std::uint32_t getLocationAreaCode() const { return locationAreaCode_; }
  void setLocationAreaCode(std::uint32_t value) { locationAreaCode_ = value; }
  std::uint8_t getNetworkModeOfOperation() const { return networkModeOfOperation_; }
  void setNetworkModeOfOperation(std::uint8_t value) { networkModeOfOperation_ = value; }
  std::uint8_t getChannelRequestType() const { return channelRequestType_; }
  void setChannelRequestType(std::uint8_t value) { channelRequestType_ = value; }
  float getCchTxLevel() const { return cchTxLevel_; }
  void setCchTxLevel(float value) { cchTxLevel_ = value; }
  float getCchExpRxLevel() const { return cchExpRxLevel_; }
  void setCchExpRxLevel(float value) { cchExpRxLevel_ = value; }
  std::uint8_t getPdpAddressAssignment() const { return pdpAddressAssignment_; }
  void setPdpAddressAssignment(std::uint8_t value) { pdpAddressAssignment_ = value; }
  std::uint8_t getPbcch() const { return pbcch_; }
  void setPbcch(std::uint8_t value) { pbcch_ = value; }
  std::int32_t getPbcchArfcn() const { return pbcchArfcn_; }
  void setPbcchArfcn(std::int32_t value) { pbcchArfcn_ = value; }
  std::uint8_t getPbcchTimeslot() const { return pbcchTimeslot_; }
  void setPbcchTimeslot(std::uint8_t value) { pbcchTimeslot_ = value; }
  std::uint8_t getDlSignallingTimeslotL3() const { return dlSignallingTimeslotL3_; }
  void setDlSignallingTimeslotL3(std::uint8_t value) { dlSignallingTimeslotL3_ = value; }
  std::uint8_t getCodingScheme() const { return codingScheme_; }
  void setCodingScheme(std::uint8_t value) { codingScheme_ = value; }
  std::uint8_t getDlCodingSchemeL3() const { return dlCodingSchemeL3_; }
  void setDlCodingSchemeL3(std::uint8_t value) { dlCodingSchemeL3_ = value; }
  std::uint8_t getDlTnMask() const { return dlTnMask_; }
  void setDlTnMask(std::uint8_t value) { dlTnMask_ = value; }
  std::uint8_t getUlTimeslotL3() const { return ulTimeslotL3_; }
  void setUlTimeslotL3(std::uint8_t value) { ulTimeslotL3_ = value; }
  std::uint8_t getUlCodingSchemeL3() const { return ulCodingSchemeL3_; }
  void setUlCodingSchemeL3(std::uint8_t value) { ulCodingSchemeL3_ = value; }
  std::uint8_t getUlTnMask() const { return ulTnMask_; }
  void setUlTnMask(std::uint8_t value) { ulTnMask_ = value; }
  float getL3TxLevel() const { return l3TxLevel_; }
  void setL3TxLevel(float value) { l3TxLevel_ = value; }
  float getL3ExpRxLevel() const { return l3ExpRxLevel_; }
  void setL3ExpRxLevel(float value) { l3ExpRxLevel_ = value; }
  std::uint8_t getNpduDlSignallingTimeslot() const { return npduDlSignallingTimeslot_; }
  void setNpduDlSignallingTimeslot(std::uint8_t value) { npduDlSignallingTimeslot_ = value; }
  std::uint8_t getNpduDlCodingScheme() const { return npduDlCodingScheme_; }
  void setNpduDlCodingScheme(std::uint8_t value) { npduDlCodingScheme_ = value; }
  std::uint8_t getNpduDlTnMask() const { return npduDlTnMask_; }
  void setNpduDlTnMask(std::uint8_t value) { npduDlTnMask_ = value; }
  std::uint8_t getNpduUlTimeslot() const { return npduUlTimeslot_; }
  void setNpduUlTimeslot(std::uint8_t value) { npduUlTimeslot_ = value; }
  std::uint8_t getNpduUlCodingScheme() const { return npduUlCodingScheme_; }
  void setNpduUlCodingScheme(std::uint8_t value) { npduUlCodingScheme_ = value; }
  std::uint8_t getNpduUlTnMask() const { return npduUlTnMask_; }
  void setNpduUlTnMask(std::uint8_t value) { npduUlTnMask_ = value; }
  std::int32_t getNpduArfcn() const { return npduArfcn_; }
  void setNpduArfcn(std::int32_t value) { npduArfcn_ = value; }
  std::uint8_t getMobileIdentity() const { return mobileIdentity_; }
  void setMobileIdentity(std::uint8_t value) { mobileIdentity_ = value; }
  float getNpduTxLevel() const { return npduTxLevel_; }
  void setNpduTxLevel(float value) { npduTxLevel_ = value; }
  float getNpduExpRxLevel() const { return npduExpRxLevel_; }
  void setNpduExpRxLevel(float value) { npduExpRxLevel_ = value; }
  std::uint8_t getLoopback() const { return loopback_; }
  void setLoopback(std::uint8_t value) { loopback_ = value; }
  std::int32_t getSampleCount() const { return sampleCount_; }
  void setSampleCount(std::int32_t value) { sampleCount_ = value; }

 private:
  std::uint8_t dlTn_[kSlotCount] = {};
  std::uint8_t ulTn_[kSlotCount] = {};
  std::uint8_t npduDlTn_[kSlotCount] = {};
  std::uint8_t npduUlTn_[kSlotCount] = {};
  std::uint8_t radioSystemGSM_ = {};
  std::uint8_t radioSystemGPRS_ = {};
  std::int32_t controlArfcnGSM_ = {};
  std::int32_t controlArfcnGPRS_ = {};
  std::int32_t trafficArfcnGSM_ = {};
  std::int32_t trafficArfcnGPRS_ = {};
  std::uint8_t tchTimeslot_ = {};
  std::uint8_t callScenario_ = {};
  float rxLevel_ = {};
  float txLevel_ = {};
  std::uint8_t cipheringType_ = {};
  std::uint8_t cipheringAlgorithm_ = {};
  std::uint8_t sdcchTimeslot_ = {};
  std::uint8_t tchRate_ = {};
  std::uint8_t dedicatedChannel_ = {};
  std::uint32_t routingAreaCode_ = {};
  std::uint32_t locationAreaCode_ = {};
  std::uint8_t networkModeOfOperation_ = {};
  std::uint8_t channelRequestType_ = {};
  float cchTxLevel_ = {};
  float cchExpRxLevel_ = {};
  std::uint8_t pdpAddressAssignment_ = {};
  std::uint8_t pbcch_ = {};
  std::int32_t pbcchArfcn_ = {};
  std::uint8_t pbcchTimeslot_ = {};
  std::uint8_t dlSignallingTimeslotL3_ = {};
  std::uint8_t codingScheme_ = {};
  std::uint8_t dlCodingSchemeL3_ = {};
  std::uint8_t dlTnMask_ = {};
  std::uint8_t ulTimeslotL3_ = {};
  std::uint8_t ulCodingSchemeL3_ = {};
  std::uint8_t ulTnMask_ = {};
  float l3TxLevel_ = {};
  float l3ExpRxLevel_ = {};
  std::uint8_t npduDlSignallingTimeslot_ = {};
  std::uint8_t npduDlCodingScheme_ = {};
  std::uint8_t npduDlTnMask_ = {};
  std::uint8_t npduUlTimeslot_ = {};
  std::uint8_t npduUlCodingScheme_ = {};
  std::uint8_t npduUlTnMask_ = {};
  std::int32_t npduArfcn_ = {};
  std::uint8_t mobileIdentity_ = {};
  float npduTxLevel_ = {};
  float npduExpRxLevel_ = {};
  std::uint8_t loopback_ = {};
  std::int32_t sampleCount_ = {};
};

// The module's store, or nullptr before the first successful master parameter load.
// Cell commands read their levels through it: Parameters()->getRxLevel().
ParameterStore* Parameters();

namespace detail {
// The store, created by the first call (the first load that got a parameter list).
ParameterStore& CreateParametersOnce();
}  // namespace detail

}  // namespace geran
