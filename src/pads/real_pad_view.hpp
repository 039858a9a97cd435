// The decimal twin of the integer pad: the same parts, selections and
// choices, with a working "." key. A field holds "0", "-0", or an optional
// "-" and digits without a leading zero, optionally followed by "." and
// more digits; maximumDigits counts digits only (not the sign, the point,
// nor the "0" of "0." and "-0."). The done key sends input fields exactly
// as shown: "-0" stays "-0" and "3." keeps its point, so a receiver must
// accept both; polynomial and fraction fields send "-0" as "0".
#pragma once

#include <cstdint>

#include "pads/entry_pad.hpp"

namespace tl {

class RealDataSource {
public:
    virtual ~RealDataSource() = default;
    /// The most digits one field may hold.
    virtual std::int64_t maximumDigits() = 0;
    /// Whether "+/-" acts.
    virtual bool allowsNegative() = 0;
};

class RealDelegate {
public:
    virtual ~RealDelegate() = default;
    /// The done key, with the lists the integer pad sends (input fields as shown).
    virtual void stepsRequested(const PadTables& inputs, const StringGrid& options, const StringGrid& multiLine) = 0;
};

class UniversalRealPadView : public EntryPadView {
public:
    /// The integer pad's arguments, with the same meaning and checks.
    UniversalRealPadView(gfx::Rect frame, const std::vector<std::string>& info, PadTables inputs,
                         PadTables polynomials, PadTables fractions, PadTables options,
                         const OptionDefaults& optionDefaults, PadTables multiLine);

    RealDataSource* dataSource() const { return dataSource_; }
    void setDataSource(RealDataSource* dataSource) { dataSource_ = dataSource; }
    RealDelegate* delegate() const { return delegate_; }
    void setDelegate(RealDelegate* delegate) { delegate_ = delegate; }

protected:
    std::optional<std::string> editedText(std::string_view key, const std::string& text) override;
    std::string sentInputText(const std::string& shown) const override;
    void requestSteps(const PadTables& inputs, const StringGrid& options, const StringGrid& multiLine) override;

private:
    RealDataSource* dataSource_ = nullptr;
    RealDelegate* delegate_ = nullptr;
};

}  // namespace tl
