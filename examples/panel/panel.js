// The panel's code runs once the channel that the host gives this page is
// installed, whether that happens before or after this script.
(window.zubrixReady = window.zubrixReady || []).push(function (zubrix) {
  zubrix.on("greeting", function (payload) {
    console.log("greeting from " + payload.from);
    zubrix.call("event_seen", payload);
  });

  zubrix.call("page_ready", location.href, 42, true, ["nested", 7], {scale: 1.5})
    .then(function (answer) {
      document.title = "Python says: " + answer.message;
      return zubrix.call("answer_seen", answer.message, document.title);
    })
    .then(null, function (error) {
      console.error("the panel's call failed: " + error.name + ": " + error.message);
    });
});
