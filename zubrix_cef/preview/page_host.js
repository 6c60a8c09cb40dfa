// The preview's host object: host.call_python_callback(callback_id, args) as
// the module's render process gives it to every page, with the same checks
// and the same values kept, carried to Python over Qt's web channel.
// Python runs this first in each document of the main frame, with Qt's
// qwebchannel.js in place of the marker below.
var host;
if (!host) {
  host = {};
}
(function () {
  "use strict";
  var MAX_DEPTH = 64;          // nesting kept, the outermost array is level 1
  var MAX_ELEMENTS = 1 << 20;  // elements one call converts, nested ones too

  var QWebChannel = (function () {
    /* qwebchannel.js */
    return QWebChannel;
  }());
  var pythonSide = null;
  var waiting = [];            // calls made before the web channel connected

  // As V8's Int32 test: -0, fractions and numbers past 32 bits are not.
  function isInt32(value) {
    return typeof value === "number" && (value | 0) === value &&
           !(value === 0 && 1 / value < 0);
  }

  // Strings, 32-bit integers, booleans and arrays keep their index; any
  // other value leaves its index empty, which JSON writes as null before a
  // kept value and drops at the end, as the module's value lists do.
  function convert(source, depth, budget) {
    var target = [];
    for (var i = 0; i < source.length && budget.left > 0; ++i, --budget.left) {
      var element;
      try {
        element = source[i];
      } catch (ignored) {
        continue;  // a getter that throws gives no value
      }
      if (typeof element === "string" || typeof element === "boolean" || isInt32(element)) {
        target[i] = element;
      } else if (Array.isArray(element) && depth < MAX_DEPTH) {
        target[i] = convert(element, depth + 1, budget);
      }
    }
    return target;
  }

  // Fire and forget, never throwing, as the module's native function.
  host.call_python_callback = function (callback_id, args) {
    if (!isInt32(callback_id) || !Array.isArray(args)) {
      return undefined;
    }
    var call = [callback_id, JSON.stringify(convert(args, 1, {left: MAX_ELEMENTS}))];
    if (pythonSide) {
      pythonSide.call_python_callback(call[0], call[1]);
    } else {
      waiting.push(call);
    }
    return undefined;
  };

  if (typeof qt === "object" && qt && qt.webChannelTransport) {
    new QWebChannel(qt.webChannelTransport, function (channel) {
      pythonSide = channel.objects.zubrix_host;
      waiting.forEach(function (call) {
        pythonSide.call_python_callback(call[0], call[1]);
      });
      waiting = [];
    });
  }
}());
