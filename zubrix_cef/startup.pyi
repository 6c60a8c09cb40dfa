import logging
from typing import Any, Dict, Tuple

KNOWN_KEYS: Tuple[str, ...]
FOLDER_KEYS: Tuple[str, ...]
SUBPROCESS_KEY: str
logger: logging.Logger

def check_settings(settings: Dict[Any, Any]) -> None: ...
def initialize(settings: Dict[Any, Any]) -> None: ...
