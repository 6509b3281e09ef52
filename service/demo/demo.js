// Glyphward's demo: asks the service for a challenge, shows its picture,
// plays its sound and checks the answer, all through the JSON API.
"use strict";

(() => {
  const form = document.getElementById("challenge");
  const picture = document.getElementById("picture");
  const audio = document.getElementById("audio");
  const answer = document.getElementById("answer");
  const token = document.getElementById("token");
  const status = document.getElementById("status");

  const failures = {
    wrong: "Wrong: those are not the characters in the picture. Press New picture to try again.",
    used: "This picture was already used: each one can be checked once. Press New picture.",
    expired: "This picture has expired. Press New picture for another.",
    invalid: "This picture is not valid here. Press New picture for another.",
  };
  const noChallenge = "There is no picture yet: press New picture.";

  let challenge = null;
  // Only the latest New picture press may replace the challenge, whatever
  // order the answers arrive in.
  let latest = 0;

  function show(text, kind) {
    status.textContent = text;
    status.className = kind || "";
  }

  // Posts `body` as JSON and returns the JSON answer; a failed request
  // throws with the server's message when it gave one.
  async function post(path, body) {
    const options = { method: "POST", cache: "no-store" };
    if (body !== undefined) {
      options.headers = { "Content-Type": "application/json" };
      options.body = JSON.stringify(body);
    }
    const response = await fetch(path, options);
    let data = null;
    try {
      data = await response.json();
    } catch {
      // Reported below.
    }
    if (!response.ok) {
      throw new Error(data && data.message ? data.message : `the server answered ${response.status}`);
    }
    if (!data) throw new Error("the server's answer was not JSON");
    return data;
  }

  async function newChallenge() {
    const request = ++latest;
    let next;
    try {
      next = await post("/api/challenge");
    } catch (error) {
      if (request === latest) show(`Could not get a picture: ${error.message}`, "fail");
      return;
    }
    if (request !== latest) return;
    challenge = next;
    token.value = next.token;
    picture.width = next.width;
    picture.height = next.height;
    picture.src = next.image;
    audio.pause();
    audio.removeAttribute("src");
    audio.load();
    answer.value = "";
    show("");
    // A server in test mode (loopback only) hands out the answer so a site
    // can test its own form end to end. Scripts find it here; the page
    // never shows it.
    if (typeof next.answer === "string") {
      document.body.dataset.testAnswer = next.answer;
    } else {
      delete document.body.dataset.testAnswer;
    }
  }

  async function verify(event) {
    event.preventDefault();
    const sent = token.value;
    if (!sent) {
      show(noChallenge, "fail");
      return;
    }
    show("Checking…");
    let text;
    let kind = "fail";
    try {
      const result = await post("/api/verify", { token: sent, answer: answer.value });
      if (result.valid) {
        text = "Correct: you are human.";
        kind = "ok";
      } else {
        text = failures[result.reason] || `Not accepted (${result.reason}).`;
      }
    } catch (error) {
      text = `Could not check the answer: ${error.message}`;
    }
    // A result for a picture that has since been replaced would mislead.
    if (token.value === sent) show(text, kind);
  }

  function listen() {
    if (!challenge) {
      show(noChallenge, "fail");
      return;
    }
    if (audio.getAttribute("src") !== challenge.audio) audio.src = challenge.audio;
    audio.currentTime = 0;
    audio.play().catch((error) => {
      // Failed loads are reported by the "error" event.
      if (error.name === "NotAllowedError") {
        show("The browser did not allow the sound to play.", "fail");
      }
    });
  }

  audio.addEventListener("error", () => {
    if (audio.getAttribute("src")) {
      show("The sound could not be loaded. Press New picture for another.", "fail");
    }
  });
  picture.addEventListener("error", () => {
    if (picture.getAttribute("src")) {
      show("The picture could not be loaded. Press New picture for another.", "fail");
    }
  });
  form.addEventListener("submit", verify);
  document.getElementById("new-picture").addEventListener("click", newChallenge);
  document.getElementById("listen").addEventListener("click", listen);

  newChallenge();
})();
