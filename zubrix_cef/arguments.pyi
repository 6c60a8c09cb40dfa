from typing import Any, Callable, List, Optional, Sequence, Text, Tuple

class ArgumentCheck(object):
    name: Text
    low: Optional[int]
    high: Optional[int]
    names: Optional[List[str]]
    types: List[Tuple[Any, ...]]
    def __init__(self, function: Callable[..., Any], name: Text,
                 arg_types: Optional[Sequence[Any]] = ...) -> None: ...
    def refusal(self, args: Sequence[Any]) -> Optional[str]: ...
