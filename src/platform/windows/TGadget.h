#pragma once

/** One gadget of a control bar: a button or a separator, in the order inserted. */
class TGadget {
public:
    explicit TGadget(int id) : Id(id) {}
    virtual ~TGadget() = default;
    int GetId() const { return Id; }

private:
    int Id;
};
