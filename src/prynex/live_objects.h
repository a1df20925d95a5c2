#pragma once

// The count of objects of the library still alive (controls, property
// pages), which DllCanUnloadNow answers from. Each such object holds a
// LiveObject member.

namespace prynex {

int liveObjectCount();

class LiveObject
{
public:
    LiveObject();
    ~LiveObject();
    LiveObject(const LiveObject &) = delete;
    LiveObject &operator=(const LiveObject &) = delete;
};

}  // namespace prynex
