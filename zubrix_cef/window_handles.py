"""Window handles as the module takes them."""

_LOW_32_BITS = 0xFFFFFFFF
_SIGN_BIT = 0x80000000


def module_window_handle(native_handle):
    """The signed 32-bit integer the module takes for a native window handle.

    Win32 handles carry 32 significant bits and are sign-extended to 64, and
    Qt bindings report them as unsigned numbers; the module widens the signed
    32-bit form back by sign extension, which gives the same handle. A value
    with other upper bits is no window handle and raises ValueError.
    """
    value = int(native_handle)
    low = value & _LOW_32_BITS
    signed = low - (1 << 32) if low & _SIGN_BIT else low
    if value not in (signed, low, signed + (1 << 64)):
        raise ValueError("not a 32-bit window handle: %#x" % value)
    return signed
